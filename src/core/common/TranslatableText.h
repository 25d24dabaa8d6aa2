#pragma once

// Marks a fixed English text that the window shows in the user's language. It
// stays the text itself here, so the core, the session and the command line
// keep working in English without Qt; lupdate collects the marked texts under
// `context`, and the window looks them up there when it shows them.
#define KESTROVA_TEXT(context, text) text
