#pragma once
// The one step through which a skinned control shows a change of its look (pointer in or
// out, a press, a release): the cache is marked stale and the control repainted at once.
// Fading between the old and the new look, when it comes, takes over this step and keeps
// its callers as they are.
#include <optional>

#include "skin/common/common_data.h"

namespace tappomat {

enum class TacAnimEvent { MouseEnter, MouseLeave, MouseDown, MouseUp };

void ChangePaint(TsCommonData& data, TacAnimEvent event);

// The look change a message brings: the pointer coming in or going out, the left button
// pressed (or double-clicked) or released; nothing for other messages.
std::optional<TacAnimEvent> LookEventOf(const TMessage& message);

}  // namespace tappomat
