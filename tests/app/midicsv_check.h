#pragma once
// Reads a MIDI file with midicsv (an independent reader, Debian package midicsv) and checks its
// structure: the header, one Start_track ... End_track per announced track, times that never go back,
// only the events the program writes, and nothing midicsv could not decode.
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "tests/common/waituntil.h"

namespace midicsv {

inline bool available() {
    return access("/usr/bin/midicsv", X_OK) == 0;
}

struct Event {
    int track = 0;
    long long time = 0;
    std::string type;
    std::vector<std::string> args;
};

struct Parsed {
    bool ok = false;
    std::string error;
    int format = -1;
    int tracks = 0;
    int division = 0;
    std::vector<Event> events;

    int count(const std::string& type, int minVelocity = -1) const {
        int n = 0;
        for (const Event& e : events)
            if (e.type == type &&
                (minVelocity < 0 || (e.args.size() >= 3 && std::stoi(e.args[2]) >= minVelocity)))
                ++n;
        return n;
    }
    // Note-ons with a velocity above 0 (the program writes note-offs as note-ons of velocity 0).
    int noteOns() const { return count("Note_on_c", 1); }
    long long firstNoteTick() const {
        long long t = -1;
        for (const Event& e : events)
            if (e.type == "Note_on_c" && e.args.size() >= 3 && std::stoi(e.args[2]) > 0 &&
                (t < 0 || e.time < t))
                t = e.time;
        return t;
    }
    std::vector<long long> noteOnTicks(int note) const {
        std::vector<long long> out;
        for (const Event& e : events)
            if (e.type == "Note_on_c" && e.args.size() >= 3 && std::stoi(e.args[1]) == note &&
                std::stoi(e.args[2]) > 0)
                out.push_back(e.time);
        return out;
    }
};

inline std::string trim(const std::string& s) {
    size_t a = s.find_first_not_of(" \t\r\n");
    size_t b = s.find_last_not_of(" \t\r\n");
    return a == std::string::npos ? std::string() : s.substr(a, b - a + 1);
}

inline Parsed read(const std::string& path) {
    Parsed p;
    std::string errFile = path + ".stderr";
    std::string command = testwait::bounded("/usr/bin/midicsv '" + path + "' 2>'" + errFile + "'");
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) {
        p.error = "cannot run midicsv";
        return p;
    }
    std::string out;
    char buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, pipe)) > 0) out.append(buf, n);
    int status = pclose(pipe);
    std::string err;
    if (FILE* f = fopen(errFile.c_str(), "r")) {
        while ((n = fread(buf, 1, sizeof buf, f)) > 0) err.append(buf, n);
        fclose(f);
    }
    std::remove(errFile.c_str());
    if (status == -1 || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        p.error = "midicsv failed: " + err;
        return p;
    }
    if (!trim(err).empty()) {
        p.error = "midicsv complained: " + err;
        return p;
    }
    static const std::set<std::string> known = {"Header",         "Start_track", "End_track", "End_of_file",
                                                "Time_signature", "Tempo",       "Title_t",   "Note_on_c",
                                                "Control_c",      "Program_c"};
    std::istringstream lines(out);
    std::string line;
    bool endOfFile = false;
    std::vector<int> started, ended;
    std::vector<long long> lastTime;
    while (std::getline(lines, line)) {
        if (trim(line).empty()) continue;
        std::vector<std::string> fields;
        bool quoted = false;
        std::string cur;
        for (char c : line) {
            if (c == '"') quoted = !quoted;
            if (c == ',' && !quoted) {
                fields.push_back(trim(cur));
                cur.clear();
            } else {
                cur += c;
            }
        }
        fields.push_back(trim(cur));
        if (fields.size() < 3) {
            p.error = "short line: " + line;
            return p;
        }
        Event e;
        e.track = std::stoi(fields[0]);
        e.time = std::stoll(fields[1]);
        e.type = fields[2];
        e.args.assign(fields.begin() + 3, fields.end());
        if (!known.count(e.type)) {
            p.error = "unexpected record: " + line;
            return p;
        }
        if (e.type == "Header") {
            p.format = std::stoi(e.args.at(0));
            p.tracks = std::stoi(e.args.at(1));
            p.division = std::stoi(e.args.at(2));
            started.assign(static_cast<size_t>(p.tracks) + 1, 0);
            ended.assign(static_cast<size_t>(p.tracks) + 1, 0);
            lastTime.assign(static_cast<size_t>(p.tracks) + 1, 0);
            continue;
        }
        if (e.type == "End_of_file") {
            endOfFile = true;
            continue;
        }
        if (e.track < 1 || e.track > p.tracks) {
            p.error = "record outside the announced tracks: " + line;
            return p;
        }
        size_t t = static_cast<size_t>(e.track);
        if (e.type == "Start_track") {
            ++started[t];
        } else if (!started[t] || ended[t]) {
            p.error = "record outside its track: " + line;
            return p;
        }
        if (e.type == "End_track") ++ended[t];
        if (e.time < lastTime[t]) {
            p.error = "time goes back: " + line;
            return p;
        }
        lastTime[t] = e.time;
        p.events.push_back(e);
    }
    if (p.format < 0 || !endOfFile) {
        p.error = "no header or no end of file";
        return p;
    }
    for (int t = 1; t <= p.tracks; ++t)
        if (started[static_cast<size_t>(t)] != 1 || ended[static_cast<size_t>(t)] != 1) {
            p.error = "track " + std::to_string(t) + " is not whole";
            return p;
        }
    p.ok = true;
    return p;
}

} // namespace midicsv
