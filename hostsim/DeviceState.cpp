#include "hostsim/DeviceState.h"
