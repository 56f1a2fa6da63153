#include "ui/event_loop.h"

int main() { return zelvane::runEventLoop(); }
