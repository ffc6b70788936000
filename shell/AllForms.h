// The installer's six windows, one class each, one global instance each,
// created at start-up in this order (app/CreateForms.cpp):
//   Form1  splash window: the main window, install.ini, the music, commands
//   Form2  target folder dialog: drive list, directory list, free space
//   Form3  new folder dialog
//   Form4  extraction dialog: progress and status of the unpacking
//   Form5  text viewer for the notes and description files
//   Form6  closing dialog: credits, quit or go back
// A window reaches another only through these globals, and only from its
// event handlers: include this header for that, never a sibling's header.
#pragma once

#include "shell/Form1.h"
#include "shell/Form2.h"
#include "shell/Form3.h"
#include "shell/Form4.h"
#include "shell/Form5.h"
#include "shell/Form6.h"
