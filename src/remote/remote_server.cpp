#include "remote/remote_server.h"

#include <SDL/SDL.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include "remote/remote_command.h"

IPaddress ip;
TCPsocket tcpsock = nullptr;

namespace {

const char GREETING[] = "Hello to Q_SYNTH remote access!\r\nENTER YOU COMMAND then FINISH to exit";
const char PROMPT[] = "\r\nCommand>";

constexpr Uint32 WAIT_SLICE_MS = 100;     // how often a waiting client looks at its running flag
constexpr Uint32 SHUTDOWN_WAIT_MS = 2000; // longest wait for client threads at exit

// Clients accepted and not collected yet; touched by the main thread only.
std::vector<RemoteClient *> clients;

// The handle as the trace lines show it, a number beside the pointer.
int handle_number(TCPsocket socket)
{
    return static_cast<int>(reinterpret_cast<std::uintptr_t>(socket));
}

// Sends a C string with its terminating NUL.
void send_text(TCPsocket socket, const char *text)
{
    const int length = static_cast<int>(std::strlen(text)) + 1;
    if (SDLNet_TCP_Send(socket, text, length) < length)
        std::printf("SDLNet_TCP_Send: %s\n", SDL_GetError());
}

void release_client(RemoteClient *client)
{
    if (client->waiting)
        SDLNet_FreeSocketSet(client->waiting);
    delete client;
}

// Joins and releases the threads of clients that have ended.
void collect_finished_clients()
{
    auto kept = clients.begin();
    for (RemoteClient *client : clients) {
        if (client->finished.load()) {
            SDL_WaitThread(client->thread, nullptr);
            release_client(client);
        } else {
            *kept++ = client;
        }
    }
    clients.erase(kept, clients.end());
}

} // namespace

char *read_socket_for_MIME(RemoteClient &client)
{
    RemoteLineReader &reader = client.reader;
    while (!reader.take_line()) {
        int ready = 0;
        while (client.running.load() &&
               (ready = SDLNet_CheckSockets(client.waiting, WAIT_SLICE_MS)) == 0) {
        }
        if (!client.running.load())
            return nullptr;
        const int n = ready < 0 ? -1
                                : SDLNet_TCP_Recv(client.socket, reader.receive_area(),
                                                  RemoteLineReader::PIECE_SIZE);
        if (n < 0)
            std::printf("Erreur de receive \n");
        if (n <= 0)
            return nullptr; // a partial line of a failed or closed connection is never used
        reader.piece_received(n);
    }
    const int length = reader.line_length();
    char *line = new char[static_cast<size_t>(length) + 1];
    std::memcpy(line, reader.line(), static_cast<size_t>(length) + 1);
    return line;
}

int traite_client_ordres(void *data)
{
    RemoteClient *client = static_cast<RemoteClient *>(data);
    std::printf("THREAD\n");
    std::printf("AFT : %d %p \n", handle_number(client->socket),
                static_cast<void *>(client->socket));
    std::printf("SDLNet_TCP_Accepted: %s\n", SDL_GetError());
    send_text(client->socket, GREETING);

    while (client->result == 0) {
        send_text(client->socket, PROMPT);
        char *line = read_socket_for_MIME(*client);
        if (!line)
            break;
        std::printf("ORDER:[%s] : ", line);
        execute_remote_line(line, &client->result);
        delete[] line;
        char reply[16];
        std::snprintf(reply, sizeof reply, "%d\r\n", client->result);
        send_text(client->socket, reply);
    }
    std::fflush(stdout);
    SDLNet_TCP_Close(client->socket);
    client->socket = nullptr;
    const int result = client->result;
    client->finished.store(1);
    return result;
}

int accept_remote_client()
{
    collect_finished_clients();
    if (!tcpsock)
        return 0;
    TCPsocket socket = SDLNet_TCP_Accept(tcpsock);
    if (!socket)
        return 0;
    std::printf("BEF : %d %p \n", handle_number(socket), static_cast<void *>(socket));
    if (static_cast<int>(clients.size()) >= MAX_REMOTE_CLIENTS) {
        std::printf("Remote control: %d clients already connected, connection closed\n",
                    MAX_REMOTE_CLIENTS);
        char refusal[96];
        std::snprintf(refusal, sizeof refusal,
                      "Q_SYNTH remote access serves %d clients at once: try again later\r\n",
                      MAX_REMOTE_CLIENTS);
        send_text(socket, refusal);
        SDLNet_TCP_Close(socket);
        return 0;
    }

    RemoteClient *client = new RemoteClient;
    client->socket = socket;
    client->waiting = SDLNet_AllocSocketSet(1);
    if (client->waiting)
        SDLNet_TCP_AddSocket(client->waiting, socket);
    client->thread = client->waiting ? SDL_CreateThread(traite_client_ordres, client) : nullptr;
    if (!client->thread) {
        std::printf("Remote control: cannot serve the client: %s\n", SDL_GetError());
        SDLNet_TCP_Close(socket);
        release_client(client);
        return 0;
    }
    clients.push_back(client);
    return 1;
}

void shutdown_remote_server()
{
    if (tcpsock) {
        SDLNet_TCP_Close(tcpsock);
        tcpsock = nullptr;
    }
    for (RemoteClient *client : clients)
        client->running.store(0);
    // A waiting thread notices within one wait slice; only a thread blocked
    // sending to a client that reads nothing can outlast the deadline, and is
    // then left to the end of the process.
    const Uint32 deadline = SDL_GetTicks() + SHUTDOWN_WAIT_MS;
    while (static_cast<Sint32>(deadline - SDL_GetTicks()) > 0) {
        collect_finished_clients();
        if (clients.empty())
            break;
        SDL_Delay(10);
    }
    clients.clear();
}

int remote_client_count() { return static_cast<int>(clients.size()); }
