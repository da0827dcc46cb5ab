#include "read_file.h"

#include <fstream>
#include <sstream>

namespace sim {

bool ReadFile(const std::filesystem::path& path, std::string& contents) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return false;
  std::ostringstream buffer;
  buffer << file.rdbuf();
  contents = buffer.str();
  return true;
}

}  // namespace sim
