#include "sheet/charactersheet.h"
