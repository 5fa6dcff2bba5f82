#pragma once

namespace builder {

class MainDialog;

// The application object: admits one copy per desktop and runs the main window.
class BuilderApp {
 public:
  // Returns false: the program ends once it returns.
  bool InitInstance();
  MainDialog* MainWindow() const { return mainWindow_; }

 private:
  MainDialog* mainWindow_ = nullptr;
};

}  // namespace builder
