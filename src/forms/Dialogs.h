#pragma once

// The dialog catalogue and its runners.
#include "dialogs/ExportBlatt.h"
#include "dialogs/FensterEinstellungen.h"
#include "dialogs/HStrecker.h"
#include "dialogs/MassDialog.h"
#include "dialogs/SegmentbogenFensteranlage.h"
#include "dialogs/SprossenBreite.h"
