// The About, Sound Test and loop help pages, what they compute, and the installed pages.
#include "dialogs/infopages.h"

#include <algorithm>
#include <cmath>

#include "app/quovelanta.h"
#include "app/qvcontext.h"
#include "app/utilities.h"
#include "dialogs/infoart.h"
#include "dialogs/tfdialog.h"
#include "engine/midiout.h"
#include "foundation/strutil.h"
#include "ui/geometry.h"
#include "ui/modalloop.h"

namespace {

InfoPages*& installed() {
    static InfoPages* pages = nullptr;
    return pages;
}

// The pass sleep of a page's wait: a scheduled message due within it is waited for exactly.
int passSleepMs() {
    return modalLoop().isPlaying() ? 2 : 20;
}

// Sends a timed sequence on the clock of the wait loop: every message whose time has come, in order.
class SequencePlayer {
  public:
    SequencePlayer(MidiOutput& out, std::vector<TimedMidiMessage> messages)
        : midi(out), sequence(std::move(messages)) {}

    void start(std::int64_t now) {
        started = true;
        startMs = now;
        sendDue(now);
    }
    // One pass of the page's wait: the due messages, and the next one when it falls due within the
    // pass's sleep (so that the notes keep their spacing to the millisecond).
    void service() {
        if (!started) return;
        ModalLoop& loop = modalLoop();
        sendDue(loop.nowMs());
        if (next >= sequence.size()) return;
        const std::int64_t wait = startMs + sequence[next].atMs - loop.nowMs();
        if (wait > 0 && wait <= passSleepMs()) {
            loop.sleepMs(static_cast<int>(wait));
            sendDue(loop.nowMs());
        }
    }
    // The page closed: whatever is still sounding ends now (the sequence's last message, all notes
    // off, is sent at once when it has not been).
    void finish() {
        if (!started || next >= sequence.size()) return;
        const TimedMidiMessage& last = sequence.back();
        midi.sendMidiShort(last.status, last.data1, last.data2);
        next = sequence.size();
    }

  private:
    MidiOutput& midi;
    std::vector<TimedMidiMessage> sequence;
    std::size_t next = 0;
    std::int64_t startMs = 0;
    bool started = false;

    void sendDue(std::int64_t now) {
        while (next < sequence.size() && startMs + sequence[next].atMs <= now) {
            const TimedMidiMessage& m = sequence[next++];
            midi.sendMidiShort(m.status, m.data1, m.data2);
        }
    }
};

constexpr int kLoopAreaX = 25;
constexpr int kLoopAreaY = 121;

// Draws one pose of the loop help into the page and shows it.
void drawLoopHelpPose(TFdialog& page, const LoopHelpPose& pose) {
    Limage& image = page.dialogImage;
    Canvas* canvas = image.canvas();
    if (canvas == nullptr) return;
    const Limage& first = infoart::loopFrame(1);
    const int w = first.width(), h = first.height();
    if (pose.blank) {
        canvas->brush = {0x000000, false};
        canvas->fillRect({kLoopAreaX, kLoopAreaY, kLoopAreaX + w, kLoopAreaY + h});
        page.present();
        return;
    }
    BlitArgs frame;
    frame.source = const_cast<Limage*>(&infoart::loopFrame(pose.frame));
    frame.target = &image;
    frame.x = kLoopAreaX;
    frame.y = kLoopAreaY;
    Limage::blitTransparent(frame);

    image.setClip(kLoopAreaX, kLoopAreaY, kLoopAreaX + w - 1, kLoopAreaY + h - 1);
    BlitArgs cursor;
    cursor.source = const_cast<Limage*>(&infoart::cursorPicture());
    cursor.target = &image;
    cursor.x = kLoopAreaX + pose.cursorX;
    cursor.y = kLoopAreaY + pose.cursorY;
    cursor.transparent = infoart::kCursorTransparent;
    Limage::blitTransparent(cursor);
    image.resetClip();

    if (pose.showDrag) {
        Canvas& c = *canvas;
        c.setClipRect({kLoopAreaX, kLoopAreaY, kLoopAreaX + w, kLoopAreaY + h});
        c.font = Font{};
        c.font.height = -11;
        c.font.color = 0xD0D0D0;
        const int cx = kLoopAreaX + static_cast<int>(w * 0.435);
        c.textOut(cx - c.textWidth("drag") / 2, kLoopAreaY + pose.cursorY + cursor.source->height() + 2,
                  "drag");
        c.clearClip();
        c.font = Font{};
    }
    page.present();
}

} // namespace

// ---- What the pages compute ---------------------------------------------------------------------------

int referenceTonePitch(int row, int customPitch, bool octave) {
    static const int kStrings[6] = {64, 59, 55, 50, 45, 40};
    row = std::clamp(row, 0, 7);
    if (row == 7) return -1;
    const int pitch = row < 6 ? kStrings[row] : 36 + std::clamp(customPitch, 0, 35);
    return pitch + (octave ? 12 : 0);
}

int a440FaderCents(double value) {
    if (std::isnan(value)) return 0;
    const double cents = std::clamp((value - 0.5) * 2.0 * 50.0, -50.0, 50.0);
    // Truncated toward zero; a whole cent missed only by the binary fraction (0.7 gives 19.999...)
    // counts as that cent.
    const double whole = std::round(cents);
    return truncToInt(std::abs(cents - whole) < 1e-6 ? whole : cents);
}

double a440FaderValue(int cents) {
    return std::clamp(cents, -50, 50) * 0.01 + 0.5;
}

int tuneItemValue(const std::string& item) {
    return item.empty() ? 0 : textToInt(item.substr(1));
}

std::vector<TimedMidiMessage> soundTestSequence(int channel) {
    std::vector<TimedMidiMessage> s;
    const int cc = 0xB0 + channel;
    s.push_back({0, 0xC0 + channel, 0, 0});
    s.push_back({0, cc, 7, 80});
    s.push_back({0, cc, 10, 64});
    const int notes[7] = {36, 48, 55, 60, 62, 64, 67};
    for (int i = 0; i < 7; ++i) s.push_back({130 * i, 0x90 + channel, notes[i], 100});
    s.push_back({7 * 130 + 1040, cc, 123, 0});
    return s;
}

double loopHelpPhase(std::int64_t elapsedMs) {
    if (elapsedMs < 0) elapsedMs = 0;
    return std::fmod(static_cast<double>(elapsedMs) * 0.0014, 10.0) + 1.0;
}

LoopHelpPose loopHelpPose(double phase) {
    LoopHelpPose p;
    if (phase > 10.0) {
        p.blank = true;
        return p;
    }
    p.frame = std::clamp(static_cast<int>(phase), 1, 8);
    double cy = 88.0;
    if (phase < 2.0) cy = 88.0 - (phase - 2.0) * 200.0;
    if (phase > 8.0) cy = 88.0 + (phase - 8.0) * 200.0;
    double cx = 49.0;
    if (phase >= 3.5 && phase <= 6.5) cx = 12.0 + 37.0 + (phase - 3.5) * 74.0;
    if (phase > 6.5) cx = 12.0 + 74.0 * 3.5;
    p.cursorX = truncToInt(cx);
    p.cursorY = truncToInt(cy);
    p.showDrag = phase >= 3.0 && phase <= 7.0;
    return p;
}

std::string aboutLibraryLine(int styles, int notes, int tracks) {
    return "Library: " + intToText(styles) + " music styles" + " (" + intToText(notes) + " notes" + " in " +
           intToText(tracks) + " tracks" + ")";
}

std::string aboutHostName() {
    std::string site = kMakerWebSite;
    for (const char* scheme : {"http://", "https://"}) {
        const std::string s = scheme;
        if (site.rfind(s, 0) == 0) site.erase(0, s.size());
    }
    const std::size_t slash = site.find('/');
    if (slash != std::string::npos) site.erase(slash);
    if (site.rfind("www.", 0) != 0) site = "www." + site;
    return site;
}

std::string aboutLinkAddress() {
    return "http://" + aboutHostName() + "/index.html";
}

// ---- The pages ----------------------------------------------------------------------------------------

InfoPages::InfoPages(QuoVelanta& app_, const std::string& tonesPath)
    : app(app_), tones(tonesPath.empty() ? ReferenceTones::defaultPath() : tonesPath) {
    app.hooks.showReferenceTones = [this] { showReferenceTonesPage(); };
    DialogServices& services = dialogServices();
    if (services.options == nullptr) services.options = &app.engine.options;
    services.soundTestPicture = &infoart::soundTestPicture();
    installed() = this;
}

InfoPages::~InfoPages() {
    if (installed() == this) installed() = nullptr;
    app.hooks.showReferenceTones = nullptr;
    DialogServices& services = dialogServices();
    if (services.options == &app.engine.options) services.options = nullptr;
    if (services.soundTestPicture == &infoart::soundTestPicture()) services.soundTestPicture = nullptr;
}

void InfoPages::reselectStyle() {
    // The pages played on part 1's channel: the style's programs, volumes and pans are sent again
    // (through selectStyle, which keeps the Style Programmer's unsaved edits of the style).
    app.selectStyle(-1, false, false, false);
}

std::string InfoPages::aboutLibraryText() const {
    const Styles& styles = app.engine.styles;
    return aboutLibraryLine(styles.styleCount, styles.noteCount, styles.trackCount);
}

void InfoPages::showAboutPage() {
    TFdialog page(kPageAbout);
    openPage_ = &page;
    page.beginPage(425, 316, "About");
    page.drawPageText(25, 24, kApplicationTitle, 24);
    page.drawPageText(41, 50, std::string("Version ") + kProgramVersion);
    page.drawPageText(25, 146, aboutLibraryText());
    page.drawPageText(25, 178, "For news, updates, support, and more visit:");
    page.drawPageText(25, 194, aboutHostName());
    // The earth beside the title, over the page's white.
    Limage earth = infoart::earthPicture(0xFFFFFF, 72);
    BlitArgs a;
    a.source = &earth;
    a.target = &page.dialogImage;
    a.x = 425 - 25 - earth.width();
    a.y = 30;
    Limage::blitTransparent(a);
    page.onMouseUp = [this, &page](int x, int y, const TRect&) {
        if (page.linkRect.Left >= 0 && pointInRect(x, y, page.linkRect))
            shellOpen(aboutLinkAddress(), app.hooks.urlOpener);
    };
    page.showPage("OK", "", "");
    openPage_ = nullptr;
}

bool InfoPages::showSoundTestPage() {
    TFdialog page(kPageSoundTest);
    openPage_ = &page;
    page.beginPage(500, 271, "Sound Test");
    page.drawPageText(93, 50, "Did you hear a piano chord?");
    page.drawPageText(16, 92,
                      "If not, please check the volume and mute controls in your desktop's sound settings");
    page.drawPageText(16, 106,
                      "(the output device and the 'QuoVelanta' application), and that the speakers are on.");
    page.drawPageText(16, 134,
                      "If there is still no sound, select 'More...' from the QuoVelanta Options menu.");
    page.drawPageText(16, 148, "Set 'Midi Mapper' (the built-in synthesizer) as the midi output device,");
    page.drawPageText(16, 162, "or choose another working ALSA midi port you may have connected.");

    // The chord is played once per showing, on the clock, while the page takes clicks and keys.
    SequencePlayer chord(app.engine.midi, soundTestSequence(app.partMidiChannel(1)));
    page.onShown = [&chord] { chord.start(modalLoop().nowMs()); };
    page.eachPass = [&chord] { chord.service(); };
    const int result = page.showPage("OK", "Play Again", "");
    chord.finish();
    openPage_ = nullptr;
    reselectStyle();
    return result == 1;
}

void InfoPages::showLoopHelpPage() {
    TFdialog page(kPageLoopHelp);
    openPage_ = &page;
    page.beginPage(395, 370, "");
    const char* const lines[6] = {"Defining a loop:",
                                  "",
                                  "Click on the bar (below the chords) where you want the loop to start",
                                  "and drag the mouse to the bar where you want the loop to end.",
                                  "",
                                  "Right-click on any bar to access further functions."};
    for (int i = 0; i < 6; ++i) page.drawPageText(25, i < 5 ? 50 + 14 * i : 50 + 14 * (i + 10), lines[i]);

    std::int64_t startMs = -1, lastFrameMs = -1;
    auto animateLoopHelp = [&] {
        const std::int64_t now = modalLoop().nowMs();
        if (startMs < 0) startMs = now;
        if (lastFrameMs >= 0 && now - lastFrameMs < 15) return;
        lastFrameMs = now;
        drawLoopHelpPose(page, loopHelpPose(loopHelpPhase(now - startMs)));
    };
    page.onShown = animateLoopHelp;
    page.eachPass = animateLoopHelp;
    page.showPage("OK", "", "");
    openPage_ = nullptr;
}

bool InfoPages::showLoopHelpOnFirstRulerClick() {
    Options& options = app.engine.options;
    if (options.loopHintShown) return false;
    options.loopHintShown = true;
    showLoopHelpPage();
    return true;
}

// ---- The installed pages ------------------------------------------------------------------------------

InfoPages* installedInfoPages() {
    return installed();
}

void showReferenceTonesPage() {
    // Through the command, which closes a selector first and gives part 1 its sound back afterwards.
    if (InfoPages* p = installed()) p->app.showReferenceTones();
}

void showAboutPage() {
    if (InfoPages* p = installed()) p->showAboutPage();
}

bool showSoundTestPage() {
    InfoPages* p = installed();
    return p != nullptr && p->showSoundTestPage();
}

void showLoopHelpPage() {
    if (InfoPages* p = installed()) p->showLoopHelpPage();
}

bool showLoopHelpOnFirstRulerClick() {
    InfoPages* p = installed();
    return p != nullptr && p->showLoopHelpOnFirstRulerClick();
}

std::unique_ptr<InfoPages> installInfoPages(QvContext& context) {
    return std::make_unique<InfoPages>(context.app);
}
