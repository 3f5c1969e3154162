#pragma once
// The program's entry: one running instance, one main window run modally, then the end.

#include <string>

class CVantrelApp {
 public:
  // --ui-dump: where the main window keeps the control dump; empty for none.
  void SetUiDumpPath(std::u16string path) { m_uiDumpPath = std::move(path); }
  // Runs the whole program and returns when the main window has ended. Always false: there
  // is no message loop after the main window.
  bool InitInstance();

 private:
  std::u16string m_uiDumpPath;
};
