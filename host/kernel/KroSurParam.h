// A parameter (u, v) on a surface: where a surface is evaluated (its normal, for example). The
// default parameter is (0, 0).
#ifndef KroSurParam_H
#define KroSurParam_H

class KroSurParam {
 public:
  KroSurParam() = default;
  KroSurParam(double u, double v) : _U(u), _V(v) {}
  double GetU() const { return _U; }
  double GetV() const { return _V; }
  void GetParams(double& u, double& v) const {
    u = _U;
    v = _V;
  }
  void SetParams(double u, double v) {
    _U = u;
    _V = v;
  }

 private:
  double _U = 0.0;
  double _V = 0.0;
};

#endif
