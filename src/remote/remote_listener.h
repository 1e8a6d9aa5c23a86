// Opening the remote-control listening socket at start-up.
#pragma once

// Opens tcpsock on port, on every interface or on 127.0.0.1 only. Returns 0,
// or after saying why the exit status of a remote control that cannot listen:
// 1 when SDL_net cannot start or the address cannot be resolved, 2 when the
// port is taken. Nothing of the listener is left open then but SDL_net
// itself, which ends with the process.
int open_remote_listener(int port, bool local_only);
