// Replays committed fuzz inputs through a target's entry point, so that the
// normal build runs every corpus as a test:  replay_TARGET FOLDER_OR_FILE...
// Fails when a folder holds no input; an input that breaks an invariant
// stops the process as it would stop the fuzzer.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int* argc, char*** argv);

namespace {

std::vector<std::filesystem::path> inputsOf(const std::filesystem::path& place)
{
    std::vector<std::filesystem::path> inputs;
    if (std::filesystem::is_regular_file(place)) {
        inputs.push_back(place);
        return inputs;
    }
    if (std::filesystem::is_directory(place)) {
        for (const auto& entry : std::filesystem::recursive_directory_iterator(place)) {
            if (entry.is_regular_file()) {
                inputs.push_back(entry.path());
            }
        }
    }
    std::sort(inputs.begin(), inputs.end());
    return inputs;
}

bool replay(const std::filesystem::path& input)
{
    std::ifstream file(input, std::ios::binary);
    const std::vector<char> bytes{std::istreambuf_iterator<char>(file),
                                  std::istreambuf_iterator<char>()};
    if (!file.eof() && file.fail()) {
        std::fprintf(stderr, "replay: cannot read %s\n", input.c_str());
        return false;
    }
    std::printf("replay: %s (%zu bytes)\n", input.c_str(), bytes.size());
    std::fflush(stdout);
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (LLVMFuzzerInitialize != nullptr) {
        LLVMFuzzerInitialize(&argc, &argv);
    }
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FOLDER_OR_FILE...\n", argv[0]);
        return 2;
    }
    for (int i = 1; i < argc; ++i) {
        const std::vector<std::filesystem::path> inputs = inputsOf(argv[i]);
        if (inputs.empty()) {
            std::fprintf(stderr, "replay: no inputs in %s\n", argv[i]);
            return 1;
        }
        for (const std::filesystem::path& input : inputs) {
            if (!replay(input)) {
                return 1;
            }
        }
    }
    return 0;
}
