#pragma once
#include "common/prompter.h"

class QWidget;

namespace vft::ui {

// Shows core's message requests as modal message boxes over `parent`.
class QtPrompter : public Prompter {
 public:
  explicit QtPrompter(QWidget* parent = nullptr) : parent_(parent) {}
  void set_parent(QWidget* parent) { parent_ = parent; }
  int ask(const Message& m) override;

 private:
  QWidget* parent_;
};

}  // namespace vft::ui
