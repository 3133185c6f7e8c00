// The skin engine's data, which the skinned dialogs can refer to. This
// program loads no skin into the dialogs, so they only ever hold null
// references and fall back to their built-in metrics and fonts.
#pragma once

namespace dialogs {

struct Skin;

}  // namespace dialogs
