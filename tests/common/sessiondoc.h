#pragma once
// The session body on its own, read and written as the main object does.
#include <string>

#include "engine/qvcore.h"
#include "engine/sessionfile.h"
#include "foundation/textstream.h"

class SessionDoc : public TextStream {
  public:
    QvCore core;
    std::string fileVersion = kSessionVersion;
    bool waltzNotice = false;
    void serialize() override { serializeSession(*this, core, fileVersion, waltzNotice); }
};
