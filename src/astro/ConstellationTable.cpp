#include "astro/ConstellationTable.h"
