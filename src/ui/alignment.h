#pragma once
// TAlignment and TTextLayout: where a caption sits in a control.
// Shared by the labels, check boxes and panels (and any control with an Alignment), and
// the one place that turns them into DrawText flags.
#include "ui/classic_look.h"

namespace tappomat {

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };
enum class TTextLayout { tlTop, tlCenter, tlBottom };

// DT_LEFT, DT_RIGHT or DT_CENTER.
unsigned AlignmentDrawTextFlags(TAlignment alignment);
// The classic look's horizontal placement for an alignment.
TextAlignment ToTextAlignment(TAlignment alignment);

}  // namespace tappomat
