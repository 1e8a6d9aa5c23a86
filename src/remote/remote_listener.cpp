#include "remote/remote_listener.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <netinet/in.h>
#include <set>
#include <sys/socket.h>
#include <unistd.h>

#include "remote/remote_server.h"

namespace {

constexpr int MAX_SCANNED_FD = 4096;
constexpr int NET_FAILED = 1, PORT_TAKEN = 2;

// Each failure says why on the console and gives the exit status it ends the
// program with.
int port_taken(const char *why)
{
    std::printf("SDLNet_TCP_Open: %s\n", why);
    return PORT_TAKEN;
}

int unresolved()
{
    std::printf("SDLNet_ResolveHost: %s\n", SDLNet_GetError());
    return NET_FAILED;
}

// The status of a failure after own was opened, which is closed.
int closing(int own, int status)
{
    close(own);
    return status;
}

std::set<int> open_descriptors()
{
    std::set<int> fds;
    for (int fd = 0; fd < MAX_SCANNED_FD; ++fd)
        if (fcntl(fd, F_GETFD) != -1)
            fds.insert(fd);
    return fds;
}

bool is_listening(int fd)
{
    int listening = 0;
    socklen_t size = sizeof listening;
    return getsockopt(fd, SOL_SOCKET, SO_ACCEPTCONN, &listening, &size) == 0 && listening;
}

// A non-blocking socket listening on 127.0.0.1:port in fd; returns 0, or
// PORT_TAKEN.
int loopback_listener(int port, int &fd)
{
    fd = socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0)
        return port_taken(std::strerror(errno));
    int yes = 1;
    setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    sockaddr_in address;
    std::memset(&address, 0, sizeof address);
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0 || listen(fd, 5) != 0)
        return closing(fd, port_taken(std::strerror(errno)));
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
    return 0;
}

// SDL_net listens on every interface or connects to an address, never
// listens on one address. For a listener on the loopback interface only, a
// server socket of SDL_net's on a spare port lends its handle, and a socket
// of our own bound to 127.0.0.1 takes the place of its descriptor. Returns 0
// with the listener in socket, or the status of the failure.
int open_loopback_listener(int port, TCPsocket &socket)
{
    int own = -1;
    if (int status = loopback_listener(port, own))
        return status;
    std::set<int> before = open_descriptors();
    IPaddress spare;
    if (SDLNet_ResolveHost(&spare, nullptr, 0) == -1)
        return closing(own, unresolved());
    socket = SDLNet_TCP_Open(&spare);
    if (!socket)
        return closing(own, port_taken(SDLNet_GetError()));
    for (int fd : open_descriptors())
        if (!before.count(fd) && is_listening(fd)) {
            dup2(own, fd);
            return closing(own, 0);
        }
    SDLNet_TCP_Close(socket);
    socket = nullptr;
    return closing(own, port_taken("cannot find the listening socket to restrict"));
}

} // namespace

int open_remote_listener(int port, bool local_only)
{
    std::printf("\tInit SDL_Net for the remote control on port %d\n", port);
    if (SDLNet_Init() < 0) {
        std::fprintf(stderr, "Couldn't initialize net: %s\n", SDLNet_GetError());
        return NET_FAILED;
    }
    std::atexit(SDLNet_Quit);
    const char *host = local_only ? "127.0.0.1" : nullptr;
    if (SDLNet_ResolveHost(&ip, host, static_cast<Uint16>(port)) == -1)
        return unresolved();
    if (local_only)
        return open_loopback_listener(port, tcpsock);
    tcpsock = SDLNet_TCP_Open(&ip);
    return tcpsock ? 0 : port_taken(SDLNet_GetError());
}
