#pragma once

// What the front ends use of the core, shown to them through the session: the
// value types they hold and edit, the texts the program's own messages are
// made of, and a few pure functions a view applies to what it shows. A front
// end includes this (or another session header), never a core layer; the
// build refuses that (cmake/FrontEndIncludes.cmake). Whatever reads or writes
// the user's files, talks to a database or drives the client goes through the
// session's own functions instead: BuddyBook for the buddy list, HudLayouts
// for the HUD layouts, editDatabaseList and Session for "db.conf", Session for
// the settings, the profiles and the glyph tables.

#include "client/DesktopPlatform.h"  // the desktop a front end reaches the client through
#include "common/Clock.h"
#include "common/FileContents.h"  // bounded reads of regular files
#include "common/Image.h"
#include "common/MessageSink.h"
#include "hud/HudLayout.h"   // the HUD editor's document
#include "lists/RowOrder.h"  // how a list column sorts the texts it shows
#include "rating/ColourRanges.h"
#include "rating/PlayerImport.h"
#include "records/DatabaseList.h"
#include "settings/FilterRange.h"
#include "settings/LimitsFile.h"
#include "settings/OptionPages.h"
#include "settings/SettingsStore.h"  // the settings file and its keys, for the raw "settings" command
