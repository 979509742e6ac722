// The backup file as a whole, for the programs that offer it: the configuration and its areas,
// the writer, the reader, the restore's items and the comparison, each in a header of its own.
#pragma once

#include "backup/BackupComparison.h"
#include "backup/BackupFields.h"
#include "backup/BackupParser.h"
#include "backup/BackupWriter.h"
#include "backup/HostConfiguration.h"
#include "backup/RestoreItems.h"
