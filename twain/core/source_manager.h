// What our own source manager library adds to the protocol, shared by the library and the
// session: the library's file name, the platform message a session hands to
// MSG_PROCESSEVENT, and two triplets of the source-manager range for runs without the
// source's dialog.
#pragma once

#include "twain/core/twain_protocol.h"

#include <string_view>

namespace twain {

inline constexpr std::string_view kSourceManagerLibrary = "libpaginor_twaindsm.so";

// Linux has no thread message queue a source could post to. The session's loop wakes
// whenever the interface thread has handled events and hands the source this record; the
// source answers with the notice it has waiting (MSG_XFERREADY, MSG_CLOSEDSREQ) or with
// TWRC_NOTDSEVENT. Sequence counts the wake-ups.
struct PlatformMessage {
    TW_UINT32 Sequence = 0;
};

// DG_CONTROL / DAT_SANEDEVICE / MSG_SET to the source manager (no destination), state 3:
// data is the SANE device name (const char*) the next MSG_OPENDS opens instead of the
// default source. TW_IDENTITY's 33 characters cannot hold every SANE device name.
inline constexpr TW_UINT16 DAT_SANEDEVICE = DAT_CUSTOMBASE + 1;

// DG_CONTROL / DAT_SANEOPTION / MSG_SET to an open source, state 4: sets one SANE option
// by its name from text, as scanimage takes it ("Color", "75", "yes"). On TWRC_FAILURE
// Error says why.
inline constexpr TW_UINT16 DAT_SANEOPTION = DAT_CUSTOMBASE + 2;

struct SaneOptionRecord {
    const char* Name;
    const char* Value;
    char Error[256];
};

} // namespace twain
