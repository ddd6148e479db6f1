#include "app/commandline.h"
