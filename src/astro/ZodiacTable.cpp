#include "astro/ZodiacTable.h"
