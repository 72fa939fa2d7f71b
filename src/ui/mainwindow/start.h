#pragma once
class QApplication;
namespace vft::ui {
int run_program(QApplication& app);
}
