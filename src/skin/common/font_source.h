#pragma once
// Which section gives the font colour of text that sits on a parent's background (labels,
// and captions of controls whose own section gives none): the nearest ancestor whose
// section is not mostly see-through, when that section hands its font on (GIVEOWNFONT).
// Labels and web labels ask it for their text colour.
#include "skin/data/skin_tables.h"
#include "ui/control.h"

namespace tappomat {

// The section an ancestor window is painted with, as it answers the section-index skin
// message; -1 when it is not skinned.
int SectionIndexOf(TControl& control, const SkinTables& tables);

// Starting at `control`'s parent: a section more than half transparent in its normal state
// passes the search on to the next ancestor (while there is one), unless its border is
// left out of the normal look; the section where the search stops is the font source when
// it gives its own font. -1: no font source (an unskinned ancestor also ends the search).
int FontSourceSection(const TControl& control, const SkinTables& tables);

}  // namespace tappomat
