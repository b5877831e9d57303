#pragma once
// The tagged-text serializer: the base of every persistent class and the syntax of all its files.
#include <functional>
#include <string>

#include "foundation/llist.h"
#include "foundation/textfile.h"

class TextStream {
  public:
    Text_ lines;
    bool writing = false;

    TextStream() = default;
    TextStream(const TextStream&) = default;
    TextStream(TextStream&&) = default;
    TextStream& operator=(const TextStream&) = default;
    TextStream& operator=(TextStream&&) = default;
    virtual ~TextStream() = default;
    // Writes or reads every field of the object, as `writing` says.
    virtual void serialize() {}

    bool serializeBool(const std::string& key, bool& b);
    bool serializeInt(const std::string& key, int& i);
    bool serializeDouble(const std::string& key, double& d);
    bool serializeText(const std::string& key, std::string& t);
    void serializeObject(const std::string& key, TextStream& child);

    bool loadFile(const std::string& header, const std::string& path);
    bool saveFile(const std::string& header, const std::string& path);

    // Writing: appends key=value (false). Reading: finds the key, sets found (true when found).
    bool field(const std::string& key, const std::string& value, std::string& found);
    void writeLine(const std::string& text);
    void openTag(const std::string& key);
    void closeTag(const std::string& key);

    // A text value is the rest of its line: line breaks inside it become blanks so that the file
    // keeps one field per line.
    static std::string oneLine(const std::string& value);
    static bool isTagLine(const std::string& line, const std::string& tag);
    static bool extractSection(const Text_& lines, const std::string& key, Text_& out);
    // The sections of key as extractSections finds them, without copying them: visit (start, end)
    // gets the indices of each section's start and end lines, in order, until it returns false.
    static void visitSections(const Text_& lines, const std::string& key,
                              const std::function<bool(int, int)>& visit);
    // The lines strictly between two line indices.
    static Text_ linesBetween(const Text_& lines, int first, int last);
    static void extractSections(const Text_& lines, const std::string& key, Llist<Text_>& list);
};
