#include "adapters/host/ResourceScript.h"

#include <fstream>
#include <sstream>
#include <system_error>

namespace platform::host {

void ResourceScript::Load(const std::filesystem::path& folder) {
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
    if (entry.path().extension() != ".rc") continue;
    std::ifstream in(entry.path());
    std::string line;
    while (std::getline(in, line)) {
      std::istringstream words(line);
      int id = 0;
      std::string type;
      if (!(words >> id >> type)) continue;
      const size_t open = line.find('"');
      const size_t close = line.rfind('"');
      if (open == std::string::npos || close <= open) continue;
      std::string file = line.substr(open + 1, close - open - 1);
      for (char& c : file) {
        if (c == '\\') c = '/';
      }
      m_entries[{type, id}] = folder / file;
    }
  }
}

std::optional<std::filesystem::path> ResourceScript::Find(const std::string& type, int id) const {
  const auto it = m_entries.find({type, id});
  if (it == m_entries.end()) return std::nullopt;
  return it->second;
}

}  // namespace platform::host
