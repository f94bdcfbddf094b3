#pragma once

// A TCP port on the loopback interface that the system has just handed out, so free also while
// other tests start servers of their own; 0 when none could be had.
int freePort();
