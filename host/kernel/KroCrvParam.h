// A parameter on a curve: the value at which a curve is evaluated (its tangent, for example).
// The default parameter is 0.
#ifndef KroCrvParam_H
#define KroCrvParam_H

class KroCrvParam {
 public:
  KroCrvParam() = default;
  explicit KroCrvParam(double value) : _Value(value) {}
  double GetParam() const { return _Value; }
  void SetParam(double value) { _Value = value; }

 private:
  double _Value = 0.0;
};

#endif
