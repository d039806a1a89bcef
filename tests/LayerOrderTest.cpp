#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

// The folders of src/ form layers, top first (the build passes the order it links them in).
// Each may include only the layers below it, and only the engine reaches the platform's
// libraries. A wrong include is named by file and line.
namespace {

std::vector<std::string> Layers() {
    std::vector<std::string> layers;
    std::istringstream list(TANDOLO_LAYERS);
    for (std::string layer; list >> layer;) {
        layers.push_back(layer);
    }
    return layers;
}

int RankOf(const std::vector<std::string>& layers, const std::string& folder) {
    for (size_t i = 0; i < layers.size(); ++i) {
        if (layers[i] == folder) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

TEST(LayerOrderTest, EveryIncludePointsDownTheLayers) {
    namespace fs = std::filesystem;
    const std::vector<std::string> layers = Layers();
    const fs::path source = fs::path(TANDOLO_SOURCE_DIR) / "src";
    const std::regex gameInclude(R"(^\s*#\s*include\s*"([A-Za-z_]+)/)");
    const std::regex platformInclude(R"(^\s*#\s*include\s*<(SDL|GL/|ft2build|freetype|vorbis|libopenmpt))");
    int filesRead = 0;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(source)) {
        if (!entry.is_regular_file()) {
            continue;
        }
        const std::string file = fs::relative(entry.path(), source.parent_path()).string();
        const std::string folder = fs::relative(entry.path(), source).begin()->string();
        const int rank = RankOf(layers, folder);
        if (rank < 0) {
            ADD_FAILURE() << file << ": folder " << folder << " has no place in the layer order";
            continue;
        }
        ++filesRead;
        std::ifstream text(entry.path());
        int lineNumber = 0;
        for (std::string line; std::getline(text, line);) {
            ++lineNumber;
            std::smatch match;
            if (std::regex_search(line, match, gameInclude)) {
                const int included = RankOf(layers, match[1]);
                if (included < 0) {
                    ADD_FAILURE() << file << ":" << lineNumber << ": " << match[1] << " is no layer";
                } else if (included < rank) {
                    ADD_FAILURE() << file << ":" << lineNumber << ": " << folder << " includes " << match[1]
                                  << ", a layer above it";
                }
            }
            if (folder != "engine" && std::regex_search(line, platformInclude)) {
                ADD_FAILURE() << file << ":" << lineNumber
                              << ": only the engine includes the platform's libraries";
            }
        }
    }
    EXPECT_GT(filesRead, 50);
}

}  // namespace
