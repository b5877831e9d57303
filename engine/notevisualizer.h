#pragma once
// When each MIDI note was last struck, for the main window's note display: a key is drawn with a
// brightness that fades after the note is struck and stays visible while the note still sounds.
#include "foundation/llist.h"

class QvEngine;

class NoteVisualizer {
  public:
    static constexpr double kNeverStruck = -1e12;

    Llist<double> allNotes{0, 1, true};   // 128 stamps (ms) over all non-drum voices
    Llist<double> bassNotes{0, 1, true};  // over the bass voices
    Llist<double> otherNotes{0, 1, true}; // over the other voices
    QvEngine* engine = nullptr;           // the clock, the options, the tempo and the voices

    explicit NoteVisualizer(QvEngine* engine = nullptr);

    void reset();
    // Stamps note 0..127 with the clock's time (drum notes are never stamped: their voice skips it).
    void noteOn(int note, bool bassGroup);
    // 0..1 over all voices; with applyVisualTranspose the display's transposing key shifts the note.
    double intensity(int note, bool applyVisualTranspose) const;
    // 0..1 over the bass voices or over the others.
    double intensityByGroup(int note, bool bassGroup) const;

  private:
    double shade(int note, const Llist<double>& stamps, double k, bool onlyGroup, bool group) const;
};
