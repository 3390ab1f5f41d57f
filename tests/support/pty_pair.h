#pragma once
// Test support: a pseudo-terminal standing in for a serial line with a device at its end.
//
// The slave is the "port": the code under test opens it by SlavePath(), or by a COM name
// mapped to it (ScopedConfigHome::MapPort). The master is the device's end, put into raw
// mode so that it passes bytes unchanged, and driven by the test:
//
//   PtyPair line;
//   home.MapPort("COM7", line.SlavePath());
//   ... code under test opens COM7, configures it, writes "V" ...
//   EXPECT_EQ(line.Receive(1, 1s), "V");
//   line.Send("1.23\r\n");
//   line.CloseMaster();   // the adapter is pulled: the port sees a hang-up
//
// The line starts raw, both ways: on Linux the master's terminal settings are the slave's,
// so making the master raw leaves nothing that echoes or translates, whether or not the code
// under test configures the port. A test about configuring makes the slave cooked first
// (tcsetattr on SlaveFd()). The pair holds a slave descriptor of its own so that the line
// stays up between the opens and closes of the code under test, and so that a test can read
// back the slave's settings.
// Set-up failures throw std::system_error; Send and Receive report problems as test failures.

#include <chrono>
#include <cstddef>
#include <string>
#include <string_view>

namespace test_support {

class PtyPair {
  public:
    PtyPair();
    ~PtyPair();
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    const std::string& SlavePath() const { return slave_path_; }
    int MasterFd() const { return master_; }  // -1 after CloseMaster()
    int SlaveFd() const { return slave_; }

    // Writes every byte to the master end; fails the test if the line takes none for 2 s.
    void Send(std::string_view bytes);

    // Reads from the master end until count bytes arrived or limit passed, and returns them.
    std::string Receive(std::size_t count, std::chrono::milliseconds limit);

    // Closes the master end, as a device unplugged; the slave reports a hang-up.
    void CloseMaster();

  private:
    int master_ = -1;
    int slave_ = -1;
    std::string slave_path_;
};

}  // namespace test_support
