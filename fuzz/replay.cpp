#include "fuzz/replay.h"

#include <fstream>
#include <iterator>
#include <vector>

namespace zel::fuzz {

int ReplayFindings(const std::filesystem::path& folder, FuzzCase runCase) {
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        std::ifstream file(entry.path(), std::ios::binary);
        const std::vector<char> bytes((std::istreambuf_iterator<char>(file)),
                                      std::istreambuf_iterator<char>());
        runCase(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
        ++count;
    }
    return count;
}

} // namespace zel::fuzz
