#include "app/usage.h"

#include "platform/messages.h"

void printUsage() {
    msgUsage();
}
