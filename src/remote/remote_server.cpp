#include "remote/remote_server.h"

IPaddress ip;
TCPsocket tcpsock = nullptr;

int accept_remote_client() { return 0; }

void shutdown_remote_server() {}
