// The remote-control server in this process: a listener on a loopback test
// port, clients connected with plain sockets, the main loop's calls made by
// the test.
#include <gtest/gtest.h>

#include <SDL/SDL.h>
#include <arpa/inet.h>
#include <dirent.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <random>
#include <string>

#include "remote/remote_orders.h"
#include "remote/remote_server.h"

namespace {

const std::string GREETING =
    "Hello to Q_SYNTH remote access!\r\nENTER YOU COMMAND then FINISH to exit";
const std::string PROMPT = "\r\nCommand>";

// Entries of a /proc/self directory: the threads or the open files.
int count_entries(const char *path)
{
    int n = 0;
    if (DIR *dir = opendir(path)) {
        while (readdir(dir))
            ++n;
        closedir(dir);
    }
    return n;
}

// A client speaking the protocol over a plain socket.
class Client {
public:
    explicit Client(int port)
    {
        fd_ = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_port = htons(static_cast<uint16_t>(port));
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        connected_ = connect(fd_, reinterpret_cast<sockaddr *>(&addr), sizeof addr) == 0;
    }
    ~Client() { close(fd_); }
    Client(const Client &) = delete;
    Client &operator=(const Client &) = delete;

    bool connected() const { return connected_; }
    void send_text(const std::string &text) { ::send(fd_, text.data(), text.size(), MSG_NOSIGNAL); }

    // The next NUL-terminated message, without its NUL; "<closed>" when the
    // server closed the connection, "<timeout>" after two seconds.
    std::string message()
    {
        for (;;) {
            const size_t nul = pending_.find('\0');
            if (nul != std::string::npos) {
                std::string text = pending_.substr(0, nul);
                pending_.erase(0, nul + 1);
                return text;
            }
            pollfd p{fd_, POLLIN, 0};
            if (poll(&p, 1, 2000) <= 0)
                return "<timeout>";
            char buffer[4096];
            const ssize_t n = recv(fd_, buffer, sizeof buffer, 0);
            if (n <= 0)
                return "<closed>";
            pending_.append(buffer, static_cast<size_t>(n));
        }
    }

private:
    int fd_ = -1;
    bool connected_ = false;
    std::string pending_;
};

class RemoteServer : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(SDLNet_Init(), 0);
        reset_remote_state();
        std::mt19937 random(std::random_device{}());
        for (int attempt = 0; attempt < 50 && !tcpsock; ++attempt) {
            port_ = 20000 + static_cast<int>(random() % 30000);
            SDLNet_ResolveHost(&ip, nullptr, static_cast<Uint16>(port_));
            tcpsock = SDLNet_TCP_Open(&ip);
        }
        ASSERT_NE(tcpsock, nullptr);
    }
    void TearDown() override
    {
        shutdown_remote_server();
        EXPECT_EQ(remote_client_count(), 0);
        reset_remote_state();
        SDLNet_Quit();
    }

    // Calls the main loop's accept until a client is taken (two seconds at most).
    static bool accept_one()
    {
        for (int i = 0; i < 200; ++i) {
            if (accept_remote_client())
                return true;
            SDL_Delay(10);
        }
        return false;
    }

    // Lets the main loop collect ended clients until none is left.
    static bool all_collected()
    {
        for (int i = 0; i < 200 && remote_client_count() > 0; ++i) {
            accept_remote_client();
            SDL_Delay(10);
        }
        return remote_client_count() == 0;
    }

    int port_ = 0;
};

TEST_F(RemoteServer, GreetsPromptsAndAnswersEachLine)
{
    Client client(port_);
    ASSERT_TRUE(client.connected());
    ASSERT_TRUE(accept_one());
    EXPECT_EQ(client.message(), GREETING);
    EXPECT_EQ(client.message(), PROMPT);

    client.send_text("PORTA=1\r\n");
    EXPECT_EQ(client.message(), "0\r\n");
    EXPECT_EQ(client.message(), PROMPT);
    EXPECT_EQ(remote_state.PORT_A, 1);

    // Two lines in one segment get one answer each.
    client.send_text("PORTA=6\r\nBT_TOGGLE\r\n");
    EXPECT_EQ(client.message(), "0\r\n");
    EXPECT_EQ(client.message(), PROMPT);
    EXPECT_EQ(client.message(), "0\r\n");
    EXPECT_EQ(remote_state.PORT_A, 6);

    client.send_text("FINISH\r\n");
    EXPECT_EQ(client.message(), PROMPT);
    EXPECT_EQ(client.message(), "1\r\n");
    EXPECT_EQ(client.message(), "<closed>");
    EXPECT_TRUE(all_collected());
    EXPECT_EQ(remote_state.PORT_A, 6); // the mask outlives the client
}

TEST_F(RemoteServer, AClientLeavingMidLineChangesNothing)
{
    remote_state.PORT_A = 2;
    {
        Client client(port_);
        ASSERT_TRUE(accept_one());
        EXPECT_EQ(client.message(), GREETING);
        client.send_text("PORTA=9");
    }
    EXPECT_TRUE(all_collected());
    EXPECT_EQ(remote_state.PORT_A, 2);
}

TEST_F(RemoteServer, AThousandClientsLeaveNoThreadsOrSockets)
{
    // Warm up once so that lazily created resources are not counted.
    {
        Client client(port_);
        ASSERT_TRUE(accept_one());
        client.send_text("FINISH\r\n");
        client.message();
    }
    ASSERT_TRUE(all_collected());
    const int threads = count_entries("/proc/self/task");
    const int files = count_entries("/proc/self/fd");

    for (int i = 0; i < 1000; ++i) {
        Client client(port_);
        ASSERT_TRUE(accept_one()) << "client " << i;
        if (i % 2 == 0) {
            client.send_text("FINISH\r\n");
            while (client.message() != "<closed>") {
            }
        }
    }
    ASSERT_TRUE(all_collected());
    EXPECT_EQ(count_entries("/proc/self/task"), threads);
    EXPECT_EQ(count_entries("/proc/self/fd"), files);
}

TEST_F(RemoteServer, ShutdownEndsClientsWaitingForALine)
{
    Client first(port_), second(port_);
    ASSERT_TRUE(accept_one());
    ASSERT_TRUE(accept_one());
    EXPECT_EQ(remote_client_count(), 2);
    second.send_text("PORT");

    const auto start = std::chrono::steady_clock::now();
    shutdown_remote_server();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
    EXPECT_EQ(remote_client_count(), 0);
    EXPECT_EQ(tcpsock, nullptr);
    EXPECT_EQ(first.message(), GREETING);
    EXPECT_EQ(first.message(), PROMPT);
    EXPECT_EQ(first.message(), "<closed>");
    EXPECT_EQ(accept_remote_client(), 0);
}

TEST_F(RemoteServer, ConnectionsBeyondTheLimitAreToldWhyAndClosed)
{
    std::vector<std::unique_ptr<Client>> clients;
    for (int i = 0; i < MAX_REMOTE_CLIENTS; ++i) {
        clients.push_back(std::make_unique<Client>(port_));
        ASSERT_TRUE(accept_one());
    }
    Client extra(port_);
    for (int i = 0; i < 20; ++i) {
        accept_remote_client();
        SDL_Delay(10);
    }
    const std::string refusal = extra.message();
    EXPECT_NE(refusal.find(std::to_string(MAX_REMOTE_CLIENTS) + " clients"), std::string::npos)
        << refusal;
    EXPECT_EQ(refusal.find('\n'), refusal.size() - 1) << "one line";
    EXPECT_EQ(extra.message(), "<closed>");
    EXPECT_EQ(remote_client_count(), MAX_REMOTE_CLIENTS);
}

} // namespace
