#pragma once
// Helpers shared by the session model tests: a scripted prompt, fixture paths and scratch folders.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/prompt.h"
#include "foundation/llist.h"
#include "foundation/textfile.h"
#include "tests/common/tempdir.h"

// Answers message boxes from a script (an exhausted script answers 0) and records every box shown.
class FakePrompt : public Prompt {
  public:
    struct Box {
        std::vector<std::string> lines;
        PromptButtons buttons;
        std::string title;
    };
    std::vector<int> answers;
    std::vector<Box> shown;

    int messageBox(const Llist<std::string>& lines, PromptButtons buttons,
                   const std::string& title) override {
        Box box{{}, buttons, title};
        for (const std::string& l : lines) box.lines.push_back(l);
        shown.push_back(box);
        if (answers.empty()) return 0;
        int a = answers.front();
        answers.erase(answers.begin());
        return a;
    }
};

inline std::string modelFixture(const std::string& topic, const std::string& name) {
    return std::string(QV_TEST_DATA) + "/" + topic + "/" + name;
}

inline std::string fileBytes(const std::string& path) {
    std::string bytes;
    EXPECT_TRUE(readFileBytes(path, bytes)) << path;
    return bytes;
}

// A fresh folder under the system's temporary folder, removed when the test ends.
class ScratchDir : public TempDir {
  public:
    std::string path(const std::string& name) const { return file(name); }
};
