#include "core/saws_model.h"

#include <algorithm>
#include <cmath>

namespace qlnx {

namespace {

double Sign(double d) { return d >= 0 ? 1.0 : -1.0; }

}  // namespace

double SawsEnvelope(const SawsParameters& p, double d) {
    const double a = std::abs(d);
    const double fu = (p.F0 + p.R1 * p.S0 * p.DU) * (1 - std::exp(-p.S0 * p.DU / p.F0));
    if (a <= p.DU) return Sign(d) * (p.F0 + p.R1 * p.S0 * a) * (1 - std::exp(-p.S0 * a / p.F0));
    const double dF = p.DU - fu / (p.R2 * p.S0);
    if (a <= dF) return Sign(d) * (fu + p.R2 * p.S0 * (a - p.DU));
    return 0.0;
}

SawsModel::SawsModel(const SawsParameters& p) : p_(p), d0_(p.F0 / p.S0) {}

SawsModel::Line SawsModel::Current() const {
    switch (seg_) {
        case Segment::Unloading: return unl_;
        case Segment::Pinching: return pin_;
        default: return rel_;
    }
}

bool SawsModel::EnvelopeCrossing(const Line& c, double from, double to, int s, bool fromInside,
                                 double& at) const {
    // g < 0: the line is inside the envelope of the direction loaded, which it can reach only
    // on the side loaded towards.
    auto g = [&](double d) { return s * (c.At(d) - SawsEnvelope(p_, d)); };
    auto reached = [&](double d) { return s * d > 0 && g(d) >= 0; };
    auto inside = [&](double d) { return s * d > 0 && g(d) < 0; };
    const double piece = d0_ / 20;
    const double length = std::abs(to - from);
    const int pieces = std::max(1, static_cast<int>(std::ceil(length / piece)));
    double prev = from;
    bool wasInside = inside(from);
    for (int k = 1; k <= pieces; ++k) {
        const double d = k == pieces ? to : from + (to - from) * k / pieces;
        if (reached(d) && (wasInside || !fromInside)) {
            double lo = prev;
            double hi = d;
            for (int i = 0; i < 60; ++i) {
                const double mid = 0.5 * (lo + hi);
                if (reached(mid)) {
                    hi = mid;
                } else {
                    lo = mid;
                }
            }
            at = hi;
            return true;
        }
        prev = d;
        wasInside = inside(d);
    }
    return false;
}

double SawsModel::Step(double u) {
    const double du = u - uPrev_;
    if (du == 0) return fPrev_;
    const int s = du > 0 ? 1 : -1;
    const double k0 = p_.S0;
    if (dir_ == 0) {
        dir_ = s;
        seg_ = Segment::Envelope;
    } else if (s != dir_) {
        // A reversal at the previous sample starts the branch of direction s.
        dir_ = s;
        seg_ = Segment::Unloading;
        unl_ = {p_.R3 * k0, fPrev_ - p_.R3 * k0 * uPrev_};
        pin_ = {p_.R4 * k0, s * p_.FI};
        const double dmax = s > 0 ? dmaxPos_ : dmaxNeg_;
        const double kp = dmax > 0 ? k0 * std::min(1.0, std::pow(d0_ / dmax, p_.alpha)) : k0;
        const double dT = s * p_.beta * dmax;
        const double fT = SawsEnvelope(p_, dT);
        rel_ = {kp, fT - kp * dT};
    }
    double f;
    if (seg_ == Segment::Envelope) {
        f = SawsEnvelope(p_, u);
    } else {
        double cur = uPrev_;
        for (;;) {
            const Line c = Current();
            Segment next = seg_;
            double nearest = u;
            bool found = false;
            // A line met from the unloading branch must lie ahead of the path; the reloading
            // line, steeper than the pinching line, overtakes it from behind.
            auto consider = [&](const Line& l, Segment which) {
                const bool ahead = s * (c.At(cur) - l.At(cur)) < 0;
                if ((seg_ == Segment::Unloading && !ahead) || c.Slope == l.Slope) return;
                const double at = cur + (l.At(cur) - c.At(cur)) / (c.Slope - l.Slope);
                if (s * (at - cur) > 0 && s * (at - nearest) <= 0 &&
                    (!found || s * (at - nearest) < 0)) {
                    nearest = at;
                    next = which;
                    found = true;
                }
            };
            if (seg_ == Segment::Unloading) consider(pin_, Segment::Pinching);
            if (seg_ == Segment::Unloading || seg_ == Segment::Pinching) {
                consider(rel_, Segment::Reloading);
            }
            double envAt = 0;
            if (EnvelopeCrossing(c, cur, found ? nearest : u, s, seg_ == Segment::Pinching,
                                 envAt) &&
                (!found || s * (envAt - nearest) <= 0)) {
                nearest = envAt;
                next = Segment::Envelope;
                found = true;
            }
            if (!found) {
                f = c.At(u);
                break;
            }
            cur = nearest;
            seg_ = next;
            if (seg_ == Segment::Envelope) {
                f = SawsEnvelope(p_, u);
                break;
            }
        }
    }
    if (s > 0) {
        dmaxPos_ = std::max(dmaxPos_, u);
    } else {
        dmaxNeg_ = std::max(dmaxNeg_, -u);
    }
    uPrev_ = u;
    fPrev_ = f;
    return f;
}

}  // namespace qlnx
