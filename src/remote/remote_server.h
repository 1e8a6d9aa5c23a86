// Remote control over TCP: the listening socket and the client threads.
//
// A client sends CR LF-terminated lines; every message the server sends is a
// C string followed by its NUL byte: a greeting, then for each line a prompt,
// and after the line the result flag ("0\r\n", or "1\r\n" after FINISH).
#pragma once

#include <SDL/SDL_net.h>
#include <SDL/SDL_thread.h>

#include <atomic>

#include "remote/remote_line.h"

// Listening address and socket, opened by start-up; tcpsock stays null when
// the program runs without remote control.
extern IPaddress ip;
extern TCPsocket tcpsock;

// Clients served at the same time; a further connection is sent one line
// that says so, and closed.
constexpr int MAX_REMOTE_CLIENTS = 64;

// One connected client and the state of the thread serving it.
struct RemoteClient {
    TCPsocket socket = nullptr;
    SDLNet_SocketSet waiting = nullptr; // the socket alone, to wait with a timeout
    SDL_Thread *thread = nullptr;
    std::atomic<int> running{1};  // cleared to make the thread end
    std::atomic<int> finished{0}; // set by the thread as it ends
    int result = 0;               // 1 after FINISH
    RemoteLineReader reader;
};

// Accepts at most one waiting client and starts a thread serving it (or
// refuses it beyond MAX_REMOTE_CLIENTS); first
// collects the threads of clients that have gone. Returns 1 when a client
// was accepted. Does nothing but collect without a listener.
int accept_remote_client();

// Closes the listener and every client still connected, and waits for their
// threads to end. Called once at exit.
void shutdown_remote_server();

// Number of clients whose threads have not been collected yet.
int remote_client_count();

// Thread body serving one RemoteClient; returns its result flag. Closes the
// client's socket before it ends.
int traite_client_ordres(void *client);

// Waits for the client's next line and returns a copy of it without its
// CR LF, allocated with new[] (the caller releases it). Null when the
// connection fails or closes before the line is complete, or when the client
// is told to end.
char *read_socket_for_MIME(RemoteClient &client);
