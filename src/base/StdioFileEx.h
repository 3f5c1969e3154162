#pragma once
// The text file behind every file of the program: UTF-16LE with a byte-order mark, lines
// ended by a single LF.
//
// Reading loads the whole file at Open. Writing collects the text and, on Close, writes it to
// a temporary file in the same folder ("<file>.vantrel-save~") and renames that over the
// target, so a crash or a failed write never leaves a half-written file and the previous file
// stays intact. Opening a file of the data folder for reading removes such a temporary file
// left by a writer that was killed; beside a file elsewhere nothing is removed.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class CStdioFileEx {
 public:
  // The framework's open flags that the program uses, plus this class's Unicode flag.
  static constexpr uint32_t modeRead = 0x0000;
  static constexpr uint32_t modeWrite = 0x0001;
  static constexpr uint32_t modeReadWrite = 0x0002;
  static constexpr uint32_t modeCreate = 0x1000;
  static constexpr uint32_t modeUnicode = 0x100000;
  // The two ways every program file is opened.
  static constexpr uint32_t kReadFlags = modeUnicode | modeReadWrite;            // 0x100002
  static constexpr uint32_t kWriteFlags = modeUnicode | modeCreate | modeWrite;  // 0x101001
  // Appended to a file's name for its temporary file: a name no user file is expected to have.
  static constexpr std::u16string_view kTempSuffix = u".vantrel-save~";

  CStdioFileEx() = default;
  CStdioFileEx(const CStdioFileEx&) = delete;
  CStdioFileEx& operator=(const CStdioFileEx&) = delete;
  // A writer that was not closed is discarded: only Close publishes a file, so an early
  // return never leaves a half-written one in place of the old.
  ~CStdioFileEx();

  // False when the file cannot be read, or the folder cannot take the temporary file. A writer
  // still open from before is discarded. A file that exists but cannot be read (locked, no
  // permission, a read error) is noted, and writing over it fails for the rest of the run:
  // what it holds is unknown, so it must not be replaced by defaults.
  [[nodiscard]] bool Open(std::u16string_view path, uint32_t flags);

  // The files noted so, in the order they were met.
  static const std::vector<std::u16string>& UnreadableFiles();
  // Tests: a new run.
  static void ForgetUnreadableFiles();

  // Next line without its LF. A line that is just LF comes back as that one character.
  // False (with an empty line) at the end of the file.
  bool ReadString(std::u16string& line);
  // Whether the line ReadString returned last ended with its LF; a line cut off by the end of
  // the file did not.
  bool LineEnded() const { return m_bLineEnded; }

  // Writes the text unchanged; the caller includes "\n" where a line ends. The byte-order
  // mark goes first. False when the file is not open for writing.
  bool WriteString(std::u16string_view text);

  // Readers: releases the contents. Writers: commits the file; false when it could not be
  // written or renamed (the previous file is then unchanged).
  bool Close();
  // Writers: discards everything written; the target is untouched.
  void Abort();

  bool IsOpen() const { return m_mode != Mode::Closed; }
  bool m_bIsUnicodeText = false;

 private:
  enum class Mode { Closed, Reading, Writing };

  Mode m_mode = Mode::Closed;
  std::u16string m_path;
  std::u16string m_tempPath;
  std::string m_bytes;  // reading: the file; writing: what is written so far
  size_t m_pos = 0;     // reading position in bytes
  bool m_bLineEnded = false;
};
