#include "IntroTestSupport.h"

#include <atomic>
#include <filesystem>
#include <fstream>

#include <unistd.h>

namespace {

void PutU16(std::vector<BYTE>& out, unsigned value) {
    out.push_back(static_cast<BYTE>(value));
    out.push_back(static_cast<BYTE>(value >> 8));
}

}  // namespace

std::vector<BYTE> MakeLogoFile(std::uint32_t S, int A, int B, const std::vector<RunRow>& rows) {
    std::vector<BYTE> file;
    PutU16(file, S & 0xFFFF);
    PutU16(file, S >> 16);
    PutU16(file, static_cast<unsigned>(A));
    PutU16(file, static_cast<unsigned>(B));
    for (const RunRow& row : rows) {
        file.push_back(static_cast<BYTE>(row.size()));
        for (const auto& [start, end] : row) {
            PutU16(file, static_cast<unsigned>(start) & 0xFFFF);
            PutU16(file, static_cast<unsigned>(end) & 0xFFFF);
        }
    }
    return file;
}

std::uint32_t RunStoreSize(const std::vector<RunRow>& rows) {
    std::uint32_t size = 0;
    for (const RunRow& row : rows) {
        if (!row.empty()) {
            size += static_cast<std::uint32_t>(4 * row.size() + 2);
        }
    }
    return size;
}

std::vector<BYTE> SolidLogo(int A, int B) {
    const std::vector<RunRow> rows(static_cast<std::size_t>(B), RunRow{{0, A - 1}});
    return MakeLogoFile(RunStoreSize(rows), A, B, rows);
}

std::string WriteTempFile(const std::string& name, std::span<const BYTE> bytes) {
    static std::atomic<int> counter{0};
    const auto dir = std::filesystem::temp_directory_path() /
                     ("zyn-intro-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    std::filesystem::create_directories(dir);
    const auto path = dir / name;
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return path.string();
}
