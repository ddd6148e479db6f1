#include "sheet/sheetdocument.h"
