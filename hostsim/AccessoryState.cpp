#include "hostsim/AccessoryState.h"
