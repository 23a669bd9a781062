#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "resources/resource_ids.h"
#include "tests/resources/BmpImage.h"

namespace {

class ResourceScriptTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::ifstream file(resourcePath("zavtolvek.rc"));
        ASSERT_TRUE(file);
        for (std::string line; std::getline(file, line);) {
            readStatement(line);
        }
    }

    // Understands the two statements the script uses: LANGUAGE p, s and <id> BITMAP "<file>".
    void readStatement(const std::string& line) {
        std::istringstream words(line);
        std::string first;
        std::string second;
        words >> first;
        if (first == "LANGUAGE") {
            char comma = 0;
            words >> primaryLanguage >> comma >> subLanguage;
        } else if (!first.empty() && std::isdigit(static_cast<unsigned char>(first[0])) && (words >> second) &&
                   second == "BITMAP") {
            std::string quoted;
            words >> quoted;
            if (quoted.size() > 2 && quoted.front() == '"' && quoted.back() == '"') {
                files[std::stoi(first)] = quoted.substr(1, quoted.size() - 2);
            }
        }
    }

    int primaryLanguage = -1;
    int subLanguage = -1;
    std::map<int, std::string> files;
};

TEST_F(ResourceScriptTest, DeclaresEnglishAustraliaAsTheResourceLanguage) {
    ASSERT_GE(primaryLanguage, 0);
    ASSERT_GE(subLanguage, 0);
    EXPECT_EQ((subLanguage << 10) | primaryLanguage, 3081);
}

TEST_F(ResourceScriptTest, EachIdNamesThePictureOfItsSize) {
    struct Expected {
        int id;
        int width;
        int height;
    };
    ASSERT_EQ(files.size(), 4u);
    for (const Expected e : {Expected{kAboutBitmapId, 413, 197}, Expected{kSwitchBitmapId, 16, 32},
                             Expected{kKnobStripBitmapId, 36, 4608}, Expected{kBackgroundBitmapId, 413, 197}}) {
        ASSERT_EQ(files.count(e.id), 1u) << "id " << e.id;
        BmpImage image;
        ASSERT_TRUE(readBmp(resourcePath(files[e.id]), image)) << files[e.id];
        EXPECT_EQ(image.width, e.width) << "id " << e.id;
        EXPECT_EQ(image.height, e.height) << "id " << e.id;
    }
}

TEST_F(ResourceScriptTest, AboutPictureAndBackgroundAreNotSwapped) {
    // Same size, so only the file name tells them apart.
    EXPECT_EQ(files[kAboutBitmapId], "about.bmp");
    EXPECT_EQ(files[kBackgroundBitmapId], "background.bmp");
}

}  // namespace
