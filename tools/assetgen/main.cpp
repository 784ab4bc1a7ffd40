// Writes every bitmap, cursor, icon and sound of the program into one folder, for the
// resource script to include.
#include "Assets.h"

#include <cstdio>
#include <fstream>
#include <string>

namespace {

bool WriteFile(const std::string& strPath, const plover::assetgen::Bytes& bytes)
{
    std::ofstream file(strPath, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(file);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: plover_assetgen OUTPUT_FOLDER\n");
        return 2;
    }
    const std::string strFolder = argv[1];
    for (const plover::assetgen::SAsset& asset : plover::assetgen::BuildAllAssets()) {
        if (!WriteFile(strFolder + "/" + asset.strName, asset.bytes)) {
            std::fprintf(stderr, "plover_assetgen: cannot write %s/%s\n", strFolder.c_str(),
                         asset.strName.c_str());
            return 1;
        }
    }
    return 0;
}
