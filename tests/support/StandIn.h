#pragma once
// The base of every stand-in for one of the program's seams (a SetX function that installs a
// replacement and answers the one before): installed for the stand-in's lifetime, and what
// was there before comes back when it ends.
namespace kvtest {

template <class Interface, Interface* (*Install)(Interface*)>
class StandIn : public Interface {
public:
    StandIn() : previous_(Install(this)) {}
    ~StandIn() override { Install(previous_); }
    StandIn(const StandIn&) = delete;
    StandIn& operator=(const StandIn&) = delete;

private:
    Interface* previous_;
};

}  // namespace kvtest
