#pragma once

// SIGTERM and SIGINT end the application as its own quit does, on the main
// thread: the delegate is asked and told, then the main loop ends.
void terminateApplicationOnSignals();
