#pragma once
// The program's entry: one running instance, one main window run modally, then the end.

class CVantrelApp {
 public:
  // Runs the whole program and returns when the main window has ended. Always false: there
  // is no message loop after the main window.
  bool InitInstance();
};
