// Page layout files: a ZIP archive holding the page description "layout.vdt" and one
// picture per frame that has its own. This is the file side only: the description's text
// (layout_format.h) and the archive through libzip with the checks on what an archive may
// hold (layout_archive.h); layout_page.h puts a page into one and takes it out again.
// Plain C++; no Qt.
#pragma once

#include "printing/layout/layout_archive.h"
#include "printing/layout/layout_format.h"
