#pragma once
// The firmware engine's progress on a terminal: a bar redrawn in place on standard error, or,
// when that is not a terminal, one line per change of the status text.

#include <string>

#include "device/FirmwareProgress.h"

class CtlEnvironment;
struct DataFolder;

class TerminalProgress : public FirmwareProgress {
 public:
  TerminalProgress(CtlEnvironment& environment, const DataFolder& data)
      : m_environment(environment), m_data(data) {}
  // Ends a bar that is still drawn.
  ~TerminalProgress() override;

  void SetImageChecksumLine(const std::u16string& text) override { m_imageLine = text; }
  void SetDeviceChecksumLine(const std::u16string& text) override { m_deviceLine = text; }
  void SetStatus(int textNumber, const std::u16string& text) override;
  void SetPercent(const std::u16string& text) override;
  void SetProgress(int value, int total) override;

  // The last status, in English when the language has the text.
  const std::string& Status() const { return m_status; }
  const std::u16string& ImageLine() const { return m_imageLine; }
  const std::u16string& DeviceLine() const { return m_deviceLine; }

 private:
  void Draw();

  CtlEnvironment& m_environment;
  const DataFolder& m_data;
  std::u16string m_imageLine;
  std::u16string m_deviceLine;
  std::string m_status;
  std::string m_percent = "0%";
  int m_value = 0;
  int m_total = 0;
  bool m_drawn = false;
};
