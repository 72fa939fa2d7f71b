// A row or column of radio buttons as the windows make them: button i is
// named `name`_i, the buttons sharing a parent exclude each other, and a
// group (when given) hears each one by its index.
#pragma once
#include <QButtonGroup>
#include <QLayout>
#include <QRadioButton>
#include <array>

namespace vft::ui {

template <std::size_t N>
void radio_group(std::array<QRadioButton*, N>& out, const QString (&captions)[N], const QString& name, QWidget* parent,
                 QLayout* into, QButtonGroup* group = nullptr) {
  for (std::size_t i = 0; i < N; ++i) {
    out[i] = new QRadioButton(captions[i], parent);
    out[i]->setObjectName(name + QStringLiteral("_%1").arg(i));
    if (group) group->addButton(out[i], static_cast<int>(i));
    into->addWidget(out[i]);
  }
}

}  // namespace vft::ui
