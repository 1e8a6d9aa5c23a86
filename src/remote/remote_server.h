// Remote control over TCP: the listening socket and the client threads.
#pragma once

#include <SDL/SDL_net.h>

// Listening address and socket, opened by start-up; tcpsock stays null when
// the program runs without remote control.
extern IPaddress ip;
extern TCPsocket tcpsock;

// Accepts at most one waiting client and starts a thread serving it.
// Returns 1 when a client was accepted. Does nothing without a listener.
int accept_remote_client();

// Closes the listener and every client still connected, and waits for their
// threads to end. Called once at exit.
void shutdown_remote_server();
