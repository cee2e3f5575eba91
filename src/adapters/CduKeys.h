// The CDU key tables: key k of a CDU command (code 69537 + k) to the slot of
// that key on the captain's and on the first officer's CDU. Slot::None: no key.
#pragma once

#include "adapters/Slots.h"

#include <cstddef>

namespace tarvo::adapters {

inline constexpr std::size_t kCduKeyCount = 93;

// CDU key k = 0..92, captain's CDU
inline constexpr Slot kCaptainCduKeys[kCduKeyCount] = {
    Slot::Cdu1KeyLsk1L,           //  0 line select 1 left
    Slot::Cdu1KeyLsk2L,           //  1 line select 2 left
    Slot::Cdu1KeyLsk3L,           //  2 line select 3 left
    Slot::Cdu1KeyLsk4L,           //  3 line select 4 left
    Slot::Cdu1KeyLsk5L,           //  4 line select 5 left
    Slot::Cdu1KeyLsk6L,           //  5 line select 6 left
    Slot::Cdu1KeyLsk1R,           //  6 line select 1 right
    Slot::Cdu1KeyLsk2R,           //  7 line select 2 right
    Slot::Cdu1KeyLsk3R,           //  8 line select 3 right
    Slot::Cdu1KeyLsk4R,           //  9 line select 4 right
    Slot::Cdu1KeyLsk5R,           // 10 line select 5 right
    Slot::Cdu1KeyLsk6R,           // 11 line select 6 right
    Slot::Cdu1KeyExec,            // 12 EXEC
    Slot::Cdu1KeyPrevPage,        // 13 previous page
    Slot::Cdu1KeyNextPage,        // 14 next page
    Slot::Cdu1KeyHold,            // 15 HOLD
    Slot::Cdu1KeyAltn,            // 16 ALTN
    Slot::Cdu1KeyFix,             // 17 FIX
    Slot::Cdu1KeyDepArr,          // 18 DEP/ARR
    Slot::Cdu1KeyMenu,            // 19 MENU
    Slot::Cdu1KeyMfdMenu,         // 20 display (MFD) menu
    Slot::Cdu1KeyData,            // 21 DATA
    Slot::Cdu1KeyInit,            // 22 INIT
    Slot::Cdu1KeyPerf,            // 23 PERF
    Slot::Cdu1KeyProg,            // 24 PROG
    Slot::Cdu1KeyDir,             // 25 DIR
    Slot::Cdu1KeySecFpln,         // 26 SEC FPLN
    Slot::Cdu1KeyFuelPred,        // 27 FUEL PRED
    Slot::Cdu1KeyFpln,            // 28 FPLN (RTE)
    Slot::Cdu1KeyRadNav,          // 29 RAD NAV
    Slot::Cdu1KeyAtcComm,         // 30 ATC COMM
    Slot::Cdu1KeySpace,           // 31 SPACE
    Slot::Cdu1KeyVnav,            // 32 VNAV
    Slot::Cdu1KeyLegs,            // 33 LEGS
    Slot::Cdu1KeyIndex,           // 34 INDEX
    Slot::Cdu1KeyMessage,         // 35 MSG
    Slot::None,                   // 36 not used
    Slot::None,                   // 37 not used
    Slot::None,                   // 38 not used
    Slot::Cdu1KeyMfdAdvance,      // 39 display (MFD) advance
    Slot::None,                   // 40 not used
    Slot::None,                   // 41 not used
    Slot::None,                   // 42 not used
    Slot::None,                   // 43 not used
    Slot::Cdu1KeyPlusMinus,       // 44 plus/minus
    Slot::Cdu1KeyDot,             // 45 decimal point
    Slot::Cdu1KeySlash,           // 46 slash
    Slot::Cdu1Key0,               // 47 digit 0
    Slot::Cdu1Key1,               // 48 digit 1
    Slot::Cdu1Key2,               // 49 digit 2
    Slot::Cdu1Key3,               // 50 digit 3
    Slot::Cdu1Key4,               // 51 digit 4
    Slot::Cdu1Key5,               // 52 digit 5
    Slot::Cdu1Key6,               // 53 digit 6
    Slot::Cdu1Key7,               // 54 digit 7
    Slot::Cdu1Key8,               // 55 digit 8
    Slot::Cdu1Key9,               // 56 digit 9
    Slot::None,                   // 57 not used
    Slot::None,                   // 58 not used
    Slot::None,                   // 59 not used
    Slot::None,                   // 60 not used
    Slot::None,                   // 61 not used
    Slot::None,                   // 62 not used
    Slot::None,                   // 63 not used
    Slot::Cdu1KeyA,               // 64 letter A
    Slot::Cdu1KeyB,               // 65 letter B
    Slot::Cdu1KeyC,               // 66 letter C
    Slot::Cdu1KeyD,               // 67 letter D
    Slot::Cdu1KeyE,               // 68 letter E
    Slot::Cdu1KeyF,               // 69 letter F
    Slot::Cdu1KeyG,               // 70 letter G
    Slot::Cdu1KeyH,               // 71 letter H
    Slot::Cdu1KeyI,               // 72 letter I
    Slot::Cdu1KeyJ,               // 73 letter J
    Slot::Cdu1KeyK,               // 74 letter K
    Slot::Cdu1KeyL,               // 75 letter L
    Slot::Cdu1KeyM,               // 76 letter M
    Slot::Cdu1KeyN,               // 77 letter N
    Slot::Cdu1KeyO,               // 78 letter O
    Slot::Cdu1KeyP,               // 79 letter P
    Slot::Cdu1KeyQ,               // 80 letter Q
    Slot::Cdu1KeyR,               // 81 letter R
    Slot::Cdu1KeyS,               // 82 letter S
    Slot::Cdu1KeyT,               // 83 letter T
    Slot::Cdu1KeyU,               // 84 letter U
    Slot::Cdu1KeyV,               // 85 letter V
    Slot::Cdu1KeyW,               // 86 letter W
    Slot::Cdu1KeyX,               // 87 letter X
    Slot::Cdu1KeyY,               // 88 letter Y
    Slot::Cdu1KeyZ,               // 89 letter Z
    Slot::Cdu1KeyArrowUp,         // 90 up arrow
    Slot::Cdu1KeyArrowDown,       // 91 down arrow
    Slot::Cdu1KeyClear,           // 92 CLR
};

// CDU key k = 0..92, first officer's CDU
inline constexpr Slot kFirstOfficerCduKeys[kCduKeyCount] = {
    Slot::Cdu2KeyLsk1L,           //  0 line select 1 left
    Slot::Cdu2KeyLsk2L,           //  1 line select 2 left
    Slot::Cdu2KeyLsk3L,           //  2 line select 3 left
    Slot::Cdu2KeyLsk4L,           //  3 line select 4 left
    Slot::Cdu2KeyLsk5L,           //  4 line select 5 left
    Slot::Cdu2KeyLsk6L,           //  5 line select 6 left
    Slot::Cdu2KeyLsk1R,           //  6 line select 1 right
    Slot::Cdu2KeyLsk2R,           //  7 line select 2 right
    Slot::Cdu2KeyLsk3R,           //  8 line select 3 right
    Slot::Cdu2KeyLsk4R,           //  9 line select 4 right
    Slot::Cdu2KeyLsk5R,           // 10 line select 5 right
    Slot::Cdu2KeyLsk6R,           // 11 line select 6 right
    Slot::Cdu2KeyExec,            // 12 EXEC
    Slot::Cdu2KeyPrevPage,        // 13 previous page
    Slot::Cdu2KeyNextPage,        // 14 next page
    Slot::Cdu2KeyHold,            // 15 HOLD
    Slot::Cdu2KeyAltn,            // 16 ALTN
    Slot::Cdu2KeyFix,             // 17 FIX
    Slot::Cdu2KeyDepArr,          // 18 DEP/ARR
    Slot::Cdu2KeyMenu,            // 19 MENU
    Slot::Cdu2KeyMfdMenu,         // 20 display (MFD) menu
    Slot::Cdu2KeyData,            // 21 DATA
    Slot::Cdu2KeyInit,            // 22 INIT
    Slot::Cdu2KeyPerf,            // 23 PERF
    Slot::Cdu2KeyProg,            // 24 PROG
    Slot::Cdu2KeyDir,             // 25 DIR
    Slot::Cdu2KeySecFpln,         // 26 SEC FPLN
    Slot::Cdu2KeyFuelPred,        // 27 FUEL PRED
    Slot::Cdu2KeyFpln,            // 28 FPLN (RTE)
    Slot::Cdu2KeyRadNav,          // 29 RAD NAV
    Slot::Cdu2KeyAtcComm,         // 30 ATC COMM
    Slot::Cdu2KeySpace,           // 31 SPACE
    Slot::Cdu2KeyVnav,            // 32 VNAV
    Slot::Cdu2KeyLegs,            // 33 LEGS
    Slot::Cdu2KeyIndex,           // 34 INDEX
    Slot::Cdu2KeyMessage,         // 35 MSG
    Slot::None,                   // 36 not used
    Slot::None,                   // 37 not used
    Slot::None,                   // 38 not used
    Slot::Cdu2KeyMfdAdvance,      // 39 display (MFD) advance
    Slot::None,                   // 40 not used
    Slot::None,                   // 41 not used
    Slot::None,                   // 42 not used
    Slot::None,                   // 43 not used
    Slot::Cdu2KeyPlusMinus,       // 44 plus/minus
    Slot::Cdu2KeyDot,             // 45 decimal point
    Slot::Cdu2KeySlash,           // 46 slash
    Slot::Cdu2Key0,               // 47 digit 0
    Slot::Cdu2Key1,               // 48 digit 1
    Slot::Cdu2Key2,               // 49 digit 2
    Slot::Cdu2Key3,               // 50 digit 3
    Slot::Cdu2Key4,               // 51 digit 4
    Slot::Cdu2Key5,               // 52 digit 5
    Slot::Cdu2Key6,               // 53 digit 6
    Slot::Cdu2Key7,               // 54 digit 7
    Slot::Cdu2Key8,               // 55 digit 8
    Slot::Cdu2Key9,               // 56 digit 9
    Slot::None,                   // 57 not used
    Slot::None,                   // 58 not used
    Slot::None,                   // 59 not used
    Slot::None,                   // 60 not used
    Slot::None,                   // 61 not used
    Slot::None,                   // 62 not used
    Slot::None,                   // 63 not used
    Slot::Cdu2KeyA,               // 64 letter A
    Slot::Cdu2KeyB,               // 65 letter B
    Slot::Cdu2KeyC,               // 66 letter C
    Slot::Cdu2KeyD,               // 67 letter D
    Slot::Cdu2KeyE,               // 68 letter E
    Slot::Cdu2KeyF,               // 69 letter F
    Slot::Cdu2KeyG,               // 70 letter G
    Slot::Cdu2KeyH,               // 71 letter H
    Slot::Cdu2KeyI,               // 72 letter I
    Slot::Cdu2KeyJ,               // 73 letter J
    Slot::Cdu2KeyK,               // 74 letter K
    Slot::Cdu2KeyL,               // 75 letter L
    Slot::Cdu2KeyM,               // 76 letter M
    Slot::Cdu2KeyN,               // 77 letter N
    Slot::Cdu2KeyO,               // 78 letter O
    Slot::Cdu2KeyP,               // 79 letter P
    Slot::Cdu2KeyQ,               // 80 letter Q
    Slot::Cdu2KeyR,               // 81 letter R
    Slot::Cdu2KeyS,               // 82 letter S
    Slot::Cdu2KeyT,               // 83 letter T
    Slot::Cdu2KeyU,               // 84 letter U
    Slot::Cdu2KeyV,               // 85 letter V
    Slot::Cdu2KeyW,               // 86 letter W
    Slot::Cdu2KeyX,               // 87 letter X
    Slot::Cdu2KeyY,               // 88 letter Y
    Slot::Cdu2KeyZ,               // 89 letter Z
    Slot::Cdu2KeyArrowUp,         // 90 up arrow
    Slot::Cdu2KeyArrowDown,       // 91 down arrow
    Slot::Cdu2KeyClear,           // 92 CLR
};

}  // namespace tarvo::adapters
