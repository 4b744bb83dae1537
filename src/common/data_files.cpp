#include "common/data_files.h"

namespace zel {

namespace {
std::string g_dataDir;
}  // namespace

const std::string& DataDir() { return g_dataDir; }
void SetDataDir(const std::string& directory) { g_dataDir = directory; }
std::string DataFile(std::string_view name) { return g_dataDir + std::string(name); }

}  // namespace zel
