#pragma once

namespace builder::app {

// The application object: admits one copy per desktop and runs the main window.
class BuilderApp {
 public:
  // Returns false: the program ends once it returns.
  bool InitInstance();
};

}  // namespace builder::app
