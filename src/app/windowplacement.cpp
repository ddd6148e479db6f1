#include "app/windowplacement.h"
