#pragma once

#include "text/GbkText.h"
#include "ui/FileChooser.h"

// Splits "description|pattern|..." into pairs; a missing last pattern stays empty.
FileFilter parseFileFilter(const GbkText& filter);
