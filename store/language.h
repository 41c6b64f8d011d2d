// The program-wide language flag.
#pragma once

namespace quenda {

// True when the Traditional Chinese text set is in use. False until start-up decides it from the
// user's locale; set once there and never changed afterwards. Read wherever a text has two
// variants: the registry-failure message, the password-mismatch message, the readme file name.
inline bool IsChinese = false;

}  // namespace quenda
