// Opening the remote-control listening socket at start-up.
#pragma once

// Opens tcpsock on port, on every interface or on 127.0.0.1 only. Ends the
// process with status 1 when SDL_net cannot start or the address cannot be
// resolved, and with status 2 when the port is taken.
void open_remote_listener(int port, bool local_only);
