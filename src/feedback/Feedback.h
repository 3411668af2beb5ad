#pragma once

#include <QColor>
#include <array>
#include <initializer_list>

// The background colours of the windows, stored 00BBGGRR as the layouts keep
// colours. Some entries repeat on purpose: those colours come up more often.
inline constexpr std::array<unsigned, 18> kColoriSfondo = {
    0xC0C0FF, 0x8080FF, 0xC0FFFF, 0x80C0FF, 0x0080FF, 0xC0FFFF,
    0x8080FF, 0x0040C0, 0x80FF80, 0x80C0FF, 0xFFFFC0, 0xFFFF00,
    0xFFC0C0, 0xFFC0FF, 0xFFC0FF, 0xE0E0E0, 0xFFC0FF, 0xFF00FF,
};

// A colour stored as 00BBGGRR.
constexpr QRgb fromBgr(unsigned bgr)
{
    return qRgb(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

// Reads the yes and no sounds ahead, so that an answer's sound starts at once.
void PreparaSuoni();

// Plays one of the four yes sounds at random; no draw when sounds are off.
// Returns how long the sound played lasts in milliseconds: 0 when sounds are
// off or its length is unknown.
int SuonoSi();

// Plays the no sound when sounds are on; returns its length as SuonoSi().
int SuonoNo();

// One entry of the colour table, drawn at random (one draw). A drawn entry
// whose colour is in avoid gives way to the next entry of the table that is
// not: a window whose controls cannot all stand out on a colour never takes it.
QColor ColoreCasuale(std::initializer_list<QRgb> avoid = {});
