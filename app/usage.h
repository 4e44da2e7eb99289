#pragma once

// Prints the usage text to standard error.
void printUsage();
