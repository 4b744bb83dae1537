#include "common/text.h"

namespace zel {

namespace {
std::string g_dataDir;
char g_padChar = ' ';
}  // namespace

const std::string& DataDir() { return g_dataDir; }
void SetDataDir(const std::string& directory) { g_dataDir = directory; }
std::string DataFile(std::string_view name) { return g_dataDir + std::string(name); }

char PadChar() { return g_padChar; }
void SetPadChar(char c) { g_padChar = c; }

}  // namespace zel
